// The interface test context with the app's screen lists built as at
// start-up, and a fixed splash picture in place of the drawn one.
#pragma once

#include "support/gl_interface.h"

class AppInterfaceTest : public GlInterfaceTest {
public:
    AppInterfaceTest();

private:
    void UseTestSplashPicture();
};
