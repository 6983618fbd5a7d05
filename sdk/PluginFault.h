// An exception that came out of the plug-in: from an entry point, or from a callable it handed
// the host. The host turns it into one of these, named for where it came out, so that whoever
// drives the host can say what happened instead of ending abruptly.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

#include "HostApi.h"

class VANTREL_SDK_API PluginFault : public std::runtime_error {
  public:
    PluginFault(const std::string& where, const std::string& what)
        : std::runtime_error("the plug-in threw an exception out of " + where + ": " + what) {}
};

// Runs `call`, a call into the plug-in, turning whatever it throws into a PluginFault that names
// `where`. A PluginFault from a deeper call keeps its own place.
template <typename Call>
void callPlugin(const char* where, const std::string& name, Call&& call) {
    try {
        call();
    } catch (const PluginFault&) {
        throw;
    } catch (const std::exception& error) {
        throw PluginFault(name.empty() ? where : std::string(where) + " '" + name + "'",
                          error.what());
    } catch (...) {
        throw PluginFault(name.empty() ? where : std::string(where) + " '" + name + "'",
                          "something that is not a std::exception");
    }
}
