#include "app/action_widgets.h"

ActionWidgets gActionWidgets;
