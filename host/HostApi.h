// Export and import markers for the two libraries on either side of the host boundary:
// the host SDK library (pluginsdk) and the plug-in library that ships the plug-in base class.
#pragma once

#if defined(_WIN32)
#if defined(VANTREL_SDK_BUILD)
#define VANTREL_SDK_API __declspec(dllexport)
#else
#define VANTREL_SDK_API __declspec(dllimport)
#endif
#if defined(VANTREL_PLUGIN_BUILD)
#define VANTREL_PLUGIN_API __declspec(dllexport)
#else
#define VANTREL_PLUGIN_API
#endif
#else
#define VANTREL_SDK_API __attribute__((visibility("default")))
#define VANTREL_PLUGIN_API __attribute__((visibility("default")))
#endif

// A host-owned object behind a wrapper. Only the SDK library knows what it is.
class HostObject;
