// Shared set-up of the render tests.
#pragma once

// Fills the batch-bound tables of the 24 slots (1000 s, 1000 s + 999, 1000 s + 1000).
void SetSlotBatchBounds();
