// The plug-in base class's code, built into and exported from the plug-in library.
#include "VantrelPlugin.h"

namespace Vantrel::Plugin {

VantrelPlugin::VantrelPlugin() = default;
VantrelPlugin::VantrelPlugin(const VantrelPlugin& other) = default;
VantrelPlugin::VantrelPlugin(VantrelPlugin&& other) noexcept = default;
VantrelPlugin& VantrelPlugin::operator=(const VantrelPlugin& other) = default;
VantrelPlugin& VantrelPlugin::operator=(VantrelPlugin&& other) noexcept = default;

// Members go in reverse order of declaration: gameService first, then cvarService.
VantrelPlugin::~VantrelPlugin() = default;

void VantrelPlugin::onLoad() {}
void VantrelPlugin::onUnload() {}

}  // namespace Vantrel::Plugin
