#include "app/panel_state.h"

PanelState gPanel;
