// The software 3D device: draws a scene graph through a viewport into a 32-bit surface.
#pragma once

#include <memory>

#include "scene/engine/rm.h"

namespace rm {

std::unique_ptr<Device> CreateSoftwareDevice();

} // namespace rm
