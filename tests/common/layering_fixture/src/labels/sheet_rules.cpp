// The label sheets may use the address archive below them, not the register above them; every quoted include
// names its folder.
#include "sheet_rules.h"
#include "addresses/address_card.h"
#include "labels/label_sheet.h"
#include "register/register_card.h"
