#include "main_window/unit_switching.h"
