#include "Canvas.h"

#include <algorithm>
#include <utility>

#include "HostObject.h"
#include "HostWorld.h"
#include "PluginFault.h"

namespace {

// What a CanvasWrapper refers to: the canvas of the frame that runs.
class CanvasObject : public HostObject {
  public:
    static constexpr Kind kKind = Kind::Canvas;
    CanvasObject(HostWorld& world, Canvas& canvas) : HostObject(world, kKind), canvas(&canvas) {}
    Canvas* canvas;
};

}  // namespace

Canvas* canvasOf(const ObjectHandle& handle) {
    const auto* object = objectAs<CanvasObject>(handle.get());
    return object == nullptr ? nullptr : object->canvas;
}

Canvas::Canvas(HostWorld& world) : world(&world) {}

void Canvas::addDrawable(Drawable drawable, std::uint32_t owner) {
    drawableList.push_back({std::move(drawable), owner});
}

void Canvas::dropOwner(std::uint32_t owner) {
    drawableList.erase(
        std::remove_if(drawableList.begin(), drawableList.end(),
                       [owner](const Registered& registered) { return registered.owner == owner; }),
        drawableList.end());
}

void Canvas::frame() {
    ++frameCount;
    drawn.clear();
    current = LinearColor{255.0F, 255.0F, 255.0F, 255.0F};
    if (!canvas) {
        canvas.emplace(ObjectHandle(new CanvasObject(*world, *this)));
    }
    // By index: a drawable may register another while it runs; that one draws from the next
    // frame. Drawables are dropped only between frames, when a plug-in is unloaded.
    const std::size_t count = drawableList.size();
    for (std::size_t index = 0; index < count; ++index) {
        callPlugin("its drawable", {}, [&] { drawableList[index].drawable(*canvas); });
        world->game().carryOutQueued();
    }
}

void Canvas::drawString(std::string text, float xScale, float yScale, bool dropShadow,
                        bool wrapText) {
    drawn.push_back({std::move(text), current, xScale, yScale, dropShadow, wrapText});
}
