// The report engine may use help and common below it, never an application above it.
#include "addresses/address_card.h"
#include "common/text.h"
#include "help/help_topics.h"
#include "printing/report/report_model.h"
