#include "Canvas.h"

#include <utility>

#include "HostObject.h"

namespace {

// What a CanvasWrapper refers to: the canvas of the frame that runs.
class CanvasObject : public HostObject {
  public:
    CanvasObject(HostWorld& world, Canvas& canvas) : HostObject(world), canvas(&canvas) {}
    Canvas* canvas;
};

}  // namespace

Canvas* canvasOf(const ObjectHandle& handle) {
    const auto* object = dynamic_cast<const CanvasObject*>(handle.get());
    return object == nullptr ? nullptr : object->canvas;
}

Canvas::Canvas(HostWorld& world) : world(&world) {}

void Canvas::addDrawable(Drawable drawable) {
    drawableList.push_back(std::move(drawable));
}

void Canvas::frame() {
    ++frameCount;
    drawn.clear();
    current = LinearColor{255.0F, 255.0F, 255.0F, 255.0F};
    const CanvasWrapper canvas{ObjectHandle(new CanvasObject(*world, *this))};
    // A copy: a drawable may register another while it runs.
    const std::vector<Drawable> running = drawableList;
    for (const auto& drawable : running) {
        drawable(canvas);
    }
}

void Canvas::drawString(std::string text, float xScale, float yScale, bool dropShadow,
                        bool wrapText) {
    drawn.push_back({std::move(text), current, xScale, yScale, dropShadow, wrapText});
}
