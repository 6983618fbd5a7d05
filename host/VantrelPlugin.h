// The host's plug-in base class. Its code is compiled into each plug-in library and
// exported from it; the host knows a plug-in object only through this part.
#pragma once

#include <memory>

#include "CVarManagerWrapper.h"
#include "GameWrapper.h"
#include "HostApi.h"

namespace Vantrel::Plugin {

// No virtual destructor: the owning shared pointer's deleter destroys the full object.
class VANTREL_PLUGIN_API VantrelPlugin {
  public:
    VantrelPlugin();
    VantrelPlugin(const VantrelPlugin& other);
    VantrelPlugin(VantrelPlugin&& other) noexcept;
    VantrelPlugin& operator=(const VantrelPlugin& other);
    VantrelPlugin& operator=(VantrelPlugin&& other) noexcept;
    ~VantrelPlugin();

    // Called by the host once, after it has filled both services.
    virtual void onLoad();
    // Called by the host before it releases the plug-in.
    virtual void onUnload();

    // Filled by the host before onLoad.
    std::shared_ptr<CVarManagerWrapper> cvarService;
    std::shared_ptr<GameWrapper> gameService;
};

}  // namespace Vantrel::Plugin
