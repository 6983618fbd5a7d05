// The game canvas: drawables run on every canvas frame, and what they draw is kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CanvasWrapper.h"
#include "HostApi.h"
#include "LinearColor.h"
#include "ObjectHandle.h"

class HostWorld;

struct CanvasText {
    std::string text;
    LinearColor color;
    float xScale;
    float yScale;
    bool dropShadow;
    bool wrapText;
};

class VANTREL_SDK_API Canvas {
  public:
    using Drawable = std::function<void(CanvasWrapper)>;

    explicit Canvas(HostWorld& world);

    // `owner` is the plug-in that registered it (0 for the host), so its drawables go when it
    // is unloaded.
    void addDrawable(Drawable drawable, std::uint32_t owner = 0);
    std::size_t drawables() const { return drawableList.size(); }
    void dropOwner(std::uint32_t owner);

    // Runs one canvas frame: every drawable, each with its own copy of the canvas.
    void frame();
    std::size_t frames() const { return frameCount; }
    // What the last frame drew, in order.
    const std::vector<CanvasText>& lastFrame() const { return drawn; }

    // Called through CanvasWrapper while a frame runs.
    void setColor(LinearColor color) { current = color; }
    void drawString(std::string text, float xScale, float yScale, bool dropShadow, bool wrapText);

  private:
    struct Registered {
        Drawable drawable;
        std::uint32_t owner;
    };

    HostWorld* world;
    std::vector<Registered> drawableList;
    std::vector<CanvasText> drawn;
    LinearColor current{0.0F, 0.0F, 0.0F, 0.0F};
    std::optional<CanvasWrapper> canvas;  // the canvas every frame hands out, made once
    std::size_t frameCount = 0;
};
