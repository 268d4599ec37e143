// The one place that includes the OpenGL and GLU headers. The program uses a
// 2.1 compatibility context (immediate mode and display lists) plus the
// framebuffer-object entry points, which Mesa's libGL exports directly.
#pragma once

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
