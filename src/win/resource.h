#pragma once

// Resource ids of zunmo-calc.rc; the command icons are named by their SVG's name ("ok", …).
#define IDI_APP 1
#define IDB_BANNER 2
