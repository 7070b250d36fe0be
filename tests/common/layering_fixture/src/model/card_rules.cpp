// A model file that includes a window's header.
#include "model/card_rules.h"
#include "addresses/address_archive_window.h"
