// The 2D canvas of one frame, handed to drawables by value.
#pragma once

#include <string>

#include "LinearColor.h"
#include "ObjectHandle.h"

class VANTREL_SDK_API CanvasWrapper {
  public:
    explicit CanvasWrapper(ObjectHandle handle);
    CanvasWrapper(const CanvasWrapper&) = default;
    CanvasWrapper& operator=(const CanvasWrapper&) = default;
    CanvasWrapper(CanvasWrapper&&) noexcept = default;
    CanvasWrapper& operator=(CanvasWrapper&&) noexcept = default;
    ~CanvasWrapper() = default;

    // Colour of what is drawn next.
    void SetColor(LinearColor color);
    void DrawString(std::string text, float xScale, float yScale, bool dropShadow, bool wrapText);

  private:
    ObjectHandle canvas;
};
