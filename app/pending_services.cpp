#include "app/pending_services.h"

#include "app/frame.h"
#include "render/render_buffers.h"

unsigned gPreviewOverlayList = 0;

int SelectedPreviewLight() { return -1; }


