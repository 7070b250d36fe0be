// The bottom folder reaching up into an application: the folder order must name it.
#include "common/text_rules.h"
#include "labels/label_sheet.h"
#include <QString>
