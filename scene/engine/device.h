// The software 3D device: draws a scene graph through a viewport into a 32-bit surface.
#pragma once

#include <memory>

#include "scene/engine/rm.h"

namespace rm {

class DrawThreads;

// The device draws on the given threads, which it shares with its engine.
std::unique_ptr<Device> CreateSoftwareDevice(std::shared_ptr<DrawThreads> threads);

} // namespace rm
