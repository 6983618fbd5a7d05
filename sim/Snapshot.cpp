#include "Snapshot.h"

#include <GL/osmesa.h>
#include <backends/imgui_impl_opengl2.h>
#include <imgui.h>

#include <fstream>
#include <memory>
#include <string>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

extern "C" int stbi_write_png_to_func(void (*write)(void* context, void* data, int size),
                                      void* context, int w, int h, int comp, const void* data,
                                      int stride_in_bytes);

namespace {

constexpr float kCanvasStrip = 96.0F;

// An off-screen OpenGL context drawing into memory, current while it lives.
class OffscreenContext {
  public:
    OffscreenContext(int width, int height)
        : pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4U) {
        context = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
        if (context != nullptr &&
            OSMesaMakeCurrent(context, pixels.data(), GL_UNSIGNED_BYTE, width, height)) {
            OSMesaPixelStore(OSMESA_Y_UP, 0);
            ready = true;
        }
    }
    ~OffscreenContext() {
        if (context != nullptr) {
            // Unbound first: the binding holds buffers of its own that destroying alone keeps.
            OSMesaMakeCurrent(nullptr, nullptr, GL_UNSIGNED_BYTE, 0, 0);
            OSMesaDestroyContext(context);
        }
    }
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    bool ready = false;
    std::vector<unsigned char> pixels;

  private:
    OSMesaContext context = nullptr;
};

void appendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<std::size_t>(size));
}

// Whether the picture was written to `path`, every byte of it.
bool writePng(const std::string& path, const std::vector<unsigned char>& pixels, int width,
              int height) {
    std::string png;
    if (stbi_write_png_to_func(&appendBytes, &png, width, height, 4, pixels.data(), width * 4) ==
        0) {
        return false;
    }
#if defined(_WIN32)
    std::ofstream file(path, std::ios::binary);
    file.write(png.data(), static_cast<std::streamsize>(png.size()));
    file.close();
    return !file.fail();
#else
    // Never through a link someone planted under the picture's name.
    const int file = ::open(
        path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0644);
    if (file < 0) {
        return false;
    }
    struct stat written {};
    bool whole = fstat(file, &written) == 0 && S_ISREG(written.st_mode);
    for (std::size_t at = 0; whole && at < png.size();) {
        const ssize_t step = ::write(file, png.data() + at, png.size() - at);
        whole = step > 0;
        at += whole ? static_cast<std::size_t>(step) : 0;
    }
    return close(file) == 0 && whole;
#endif
}

}  // namespace

SnapshotResult writeSnapshot(const std::string& path, SettingsWindow& window,
                             Vantrel::Plugin::PluginSettingsWindow* page,
                             const std::vector<CanvasText>& canvas) {
    ImGui::SetCurrentContext(window.context());
    const ImVec2 size = ImGui::GetIO().DisplaySize;
    const int width = static_cast<int>(size.x);
    const int height = static_cast<int>(size.y + kCanvasStrip);
    OffscreenContext offscreen(width, height);
    if (!offscreen.ready) {
        return SnapshotResult::NotWritten;
    }
    ImGui_ImplOpenGL2_Init();
    ImGui_ImplOpenGL2_NewFrame();
    const std::string text = canvas.empty() ? std::string() : canvas.back().text;
    const float color[4] = {canvas.empty() ? 0.0F : canvas.back().color.R,
                            canvas.empty() ? 0.0F : canvas.back().color.G,
                            canvas.empty() ? 0.0F : canvas.back().color.B,
                            canvas.empty() ? 0.0F : canvas.back().color.A};
    window.drawPicture(page, text, color, kCanvasStrip);

    glViewport(0, 0, width, height);
    glClearColor(0.10F, 0.12F, 0.16F, 1.0F);
    glClear(GL_COLOR_BUFFER_BIT);
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
    glFinish();
    ImGui_ImplOpenGL2_Shutdown();

    return writePng(path, offscreen.pixels, width, height) ? SnapshotResult::Written
                                                           : SnapshotResult::NotWritten;
}
