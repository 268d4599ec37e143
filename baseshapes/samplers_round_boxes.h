// The wizard hat, the distorted rounded box, the structures built from
// copies of one small rounded box (gazebo, block frame, circular stairs) and
// the tri circle. Each kind has a filled twin.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeWizardHat(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeWizardHatFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDistortedRoundBox(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDistortedRoundBoxFilled(BaseshapePoint* point, uint8_t slot);
// The three structures never colour the point.
void SampleBaseshapeGazebo(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeGazeboFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeBlocks(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeBlocksFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCircularStairs(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCircularStairsFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTriCircle(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTriCircleFilled(BaseshapePoint* point, uint8_t slot);
