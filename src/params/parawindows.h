#pragma once
// What the main window needs of the parameter sets: the start-up calls and
// the five windows its menus open.

#include "frmaxis.h"
#include "frmgain.h"
#include "frmlmt.h"
#include "frmsw.h"
#include "frmsyspara.h"
#include "paranames.h"
