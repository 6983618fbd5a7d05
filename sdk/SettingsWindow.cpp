#include "SettingsWindow.h"

#include <imgui.h>
#include <imgui_internal.h>

#include "PluginFault.h"

namespace {

constexpr const char* kWindowName = "Plugins##settings";

// The host's window works with the Dear ImGui the build has: Debian's 1.86, whose keys are set
// in a key map, or the host's 1.92, whose keys are events and whose fonts are baked as drawn.
#if IMGUI_VERSION_NUM < 19200
// Key codes of the host's keyboard, mapped into Dear ImGui's key map.
constexpr int kEnterKey = 13;
constexpr int kDeleteKey = 127;
#endif

// Sets a key's state for the frame about to start.
void setKey(ImGuiIO& io, bool enter, bool down) {
#if IMGUI_VERSION_NUM >= 19200
    io.AddKeyEvent(enter ? ImGuiKey_Enter : ImGuiKey_Delete, down);
#else
    io.KeysDown[enter ? kEnterKey : kDeleteKey] = down;
#endif
}

void setCtrl(ImGuiIO& io, bool down) {
#if IMGUI_VERSION_NUM >= 19200
    io.AddKeyEvent(ImGuiMod_Ctrl, down);
#else
    io.KeyCtrl = down;
#endif
}

}  // namespace

SettingsWindow::SettingsWindow(float width, float height) {
    createContext(width, height);
}

SettingsWindow::~SettingsWindow() {
    ImGui::DestroyContext(imgui);
}

void SettingsWindow::createContext(float width, float height) {
    imgui = ImGui::CreateContext();
    ImGui::SetCurrentContext(imgui);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    io.DisplaySize = ImVec2(width, height);
#if IMGUI_VERSION_NUM >= 19200
    // A page that throws leaves the frame for the host to mend, quietly.
    io.ConfigErrorRecoveryEnableAssert = false;
    io.ConfigErrorRecoveryEnableDebugLog = false;
    io.ConfigErrorRecoveryEnableTooltip = false;
    // A frame's input all lands in that frame, as a key map's did: the player's hand moves once a
    // frame.
    io.ConfigInputTrickleEventQueue = false;
#else
    io.KeyMap[ImGuiKey_Enter] = kEnterKey;
    io.KeyMap[ImGuiKey_Delete] = kDeleteKey;
#endif
    unsigned char* pixels = nullptr;
    int atlasWidth = 0;
    int atlasHeight = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &atlasWidth, &atlasHeight);
    if (noScreen) {
        leaveOutWhatOnlyAScreenNeeds();
    }
}

void SettingsWindow::drawForNoScreen() {
    noScreen = true;
    ImGui::SetCurrentContext(imgui);
    leaveOutWhatOnlyAScreenNeeds();
}

void SettingsWindow::leaveOutWhatOnlyAScreenNeeds() {
    ImGuiStyle& style = ImGui::GetStyle();
    style.AntiAliasedLines = false;
    style.AntiAliasedFill = false;
    style.WindowBorderSize = 0.0F;
    // Fully transparent colours: Dear ImGui makes no shapes or text vertices for them, and
    // nothing but a screen reads a colour.
    for (ImVec4& color : style.Colors) {
        color.w = 0.0F;
    }
#if IMGUI_VERSION_NUM < 19200
    // Glyphs keep their size and advance, so text takes the same room; they only lose the
    // pixels that nothing will show. (The host's version bakes glyphs as text is drawn, and
    // draws no text of a transparent colour.)
    for (ImFont* font : ImGui::GetIO().Fonts->Fonts) {
        for (ImFontGlyph& glyph : font->Glyphs) {
            glyph.Visible = 0;
        }
    }
#endif
}

void SettingsWindow::adopt(Vantrel::Plugin::PluginSettingsWindow& page) {
    callPlugin("AdoptImGuiContext", {},
               [&] { page.AdoptImGuiContext(reinterpret_cast<std::uintptr_t>(imgui)); });
}

void SettingsWindow::replaceContext(Vantrel::Plugin::PluginSettingsWindow& page) {
    const ImVec2 size = ImGui::GetIO().DisplaySize;
    ImGui::DestroyContext(imgui);
    createContext(size.x, size.y);
    steps.clear();
    adopt(page);
}

void SettingsWindow::resize(float width, float height) {
    ImGui::SetCurrentContext(imgui);
    ImGui::GetIO().DisplaySize = ImVec2(width, height);
}

void SettingsWindow::click(const std::string& label, char step) {
    steps.emplace_back(Action::Locate, label, step);
    steps.emplace_back(Action::Hover, label, step);
    steps.emplace_back(Action::Press, label, step);
    steps.emplace_back(Action::Release, label, step);
    steps.emplace_back(Action::Settle, label, step);
}

void SettingsWindow::type(const std::string& label, const std::string& typed) {
    // Ctrl+click opens a slider's text entry and selects all a field holds.
    steps.emplace_back(Action::Locate, label);
    steps.emplace_back(Action::Hover, label);
    steps.emplace_back(Action::Press, label, 0, "", true);
    steps.emplace_back(Action::Release, label, 0, "", true);
    steps.emplace_back(typed.empty() ? Action::Erase : Action::Type, label, 0, typed);
    steps.emplace_back(Action::Enter, label);
    steps.emplace_back(Action::Settle, label);
}

void SettingsWindow::enter(const std::string& label) {
    steps.emplace_back(Action::Locate, label);
    steps.emplace_back(Action::Hover, label);
    steps.emplace_back(Action::Press, label, 0, "", true);
    steps.emplace_back(Action::Release, label, 0, "", true);
    steps.emplace_back(Action::Enter, label);
    steps.emplace_back(Action::Settle, label);
}

void SettingsWindow::frame(Vantrel::Plugin::PluginSettingsWindow& page, float deltaSeconds) {
    ImGui::SetCurrentContext(imgui);
    ImGuiIO& io = ImGui::GetIO();
    io.DeltaTime = deltaSeconds > 0.0F ? deltaSeconds : 1.0F / 60.0F;
    io.MousePos = ImVec2(mouseX, mouseY);
    io.MouseDown[0] = false;
    setCtrl(io, false);
    setKey(io, true, false);
    setKey(io, false, false);

    const bool stepping = !steps.empty();
    const Step step = stepping ? steps.front() : Step(Action::Settle, "");
    if (stepping) {
        steps.pop_front();
        applyInput(step);
    }
    ImGui::NewFrame();
    bool focused = false;
    if (stepping && step.action == Action::Locate) {
        focused = focus(step);
    }
    drawPage(page, ImGui::GetIO().DisplaySize);
    if (focused) {
        locate(step);
    }
    if (stepping && step.action == Action::Press && step.ctrl) {
        requireTextEntry(step);
    }
    // A window nobody sees needs no draw data: the frame ends without it.
    if (noScreen) {
        ImGui::EndFrame();
    } else {
        ImGui::Render();
    }
    ++frameCount;
}

void SettingsWindow::drawPicture(Vantrel::Plugin::PluginSettingsWindow* page,
                                 const std::string& canvasText, const float canvasColor[4],
                                 float canvasHeight) {
    ImGui::SetCurrentContext(imgui);
    ImGuiIO& io = ImGui::GetIO();
    const ImVec2 pageSize = io.DisplaySize;
    io.DisplaySize.y += canvasHeight;
    io.DeltaTime = 1.0F / 60.0F;
    io.MousePos = ImVec2(-1.0F, -1.0F);
    ImGui::NewFrame();
    if (page != nullptr) {
        drawPage(*page, pageSize);
    }
    const ImU32 color = IM_COL32(canvasColor[0], canvasColor[1], canvasColor[2], canvasColor[3]);
    ImGui::GetBackgroundDrawList()->AddText(ImGui::GetFont(), ImGui::GetFontSize() * 4.0F,
                                            ImVec2(12.0F, pageSize.y + 12.0F), color,
                                            canvasText.c_str());
    ImGui::Render();
    io.DisplaySize = pageSize;
}

void SettingsWindow::drawPage(Vantrel::Plugin::PluginSettingsWindow& page, ImVec2 size) {
    ImGui::SetNextWindowPos(ImVec2(0.0F, 0.0F));
    ImGui::SetNextWindowSize(size);
    ImGui::Begin(kWindowName, nullptr,
                 ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse |
                     ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoTitleBar);
    if (!capturing) {
        drawSettingsOf(page);
        ImGui::End();
        return;
    }
    ImGui::LogToBuffer();
    drawSettingsOf(page);
    ImGuiContext& g = *ImGui::GetCurrentContext();
    text.clear();
    // Dear ImGui ends logged lines the platform's way; the page's text uses plain line ends.
    for (const char* c = g.LogBuffer.begin(); c != g.LogBuffer.end(); ++c) {
        if (*c != '\r') {
            text += *c;
        }
    }
    g.LogBuffer.clear();
    ImGui::LogFinish();
    ImGui::End();
}

void SettingsWindow::drawSettingsOf(Vantrel::Plugin::PluginSettingsWindow& page) {
#if IMGUI_VERSION_NUM >= 19200
    ImGuiErrorRecoveryState before;
    ImGui::ErrorRecoveryStoreState(&before);
#endif
    try {
        callPlugin("its settings page", {}, [&] { page.DrawSettings(); });
    } catch (const PluginFault&) {
        // The host's context is left as a frame ends: what the page pushed popped, the window
        // ended, the frame closed.
        ImGui::LogFinish();
#if IMGUI_VERSION_NUM >= 19200
        ImGui::ErrorRecoveryTryToRecoverState(&before);
#else
        ImGui::ErrorCheckEndFrameRecover(nullptr);
#endif
        ImGui::EndFrame();
        steps.clear();
        throw;
    }
}

unsigned SettingsWindow::widgetId(const Step& step) const {
    ImGuiWindow* window = ImGui::FindWindowByName(kWindowName);
    if (window == nullptr) {
        return 0;
    }
    // The page pushes no IDs of its own: a widget's ID is its label hashed into the window's,
    // and a number field's step buttons hash their sign into the field's.
    ImGuiID id = ImHashStr(step.label.c_str(), 0, window->ID);
    if (step.part != 0) {
        const char sign[2] = {step.part, '\0'};
        id = ImHashStr(sign, 0, id);
    }
    return id;
}

bool SettingsWindow::focus(const Step& step) {
    problem.clear();
    ImGuiWindow* window = ImGui::FindWindowByName(kWindowName);
    if (window == nullptr) {
        // The window has never been drawn: draw it once, then look again.
        steps.push_front(step);
        return false;
    }
    // Keyboard-navigation focus makes Dear ImGui note the widget's rectangle as it is drawn.
    ImGui::SetFocusID(widgetId(step), window);
    return true;
}

void SettingsWindow::applyInput(const Step& step) {
    ImGuiIO& io = ImGui::GetIO();
    switch (step.action) {
        case Action::Press:
            io.MouseDown[0] = true;
            setCtrl(io, step.ctrl);
            break;
        case Action::Release:
            setCtrl(io, step.ctrl);
            break;
        case Action::Type:
            io.AddInputCharactersUTF8(step.typed.c_str());
            break;
        case Action::Erase:
            setKey(io, false, true);
            break;
        case Action::Enter:
            setKey(io, true, true);
            break;
        case Action::Locate:
        case Action::Hover:
        case Action::Settle:
            break;
    }
}

void SettingsWindow::requireTextEntry(const Step& step) {
    const ImGuiContext& g = *ImGui::GetCurrentContext();
    const ImGuiID id = widgetId(step);
    if (g.ActiveId == id && g.InputTextState.ID == id) {
        return;
    }
    problem = "'" + step.label + "' takes no typing: it is no text field, number or slider";
    steps.clear();
    // The mouse leaves before it is released, so the widget it pressed is not clicked.
    mouseX = -1.0F;
    mouseY = -1.0F;
}

void SettingsWindow::locate(const Step& step) {
    ImGuiContext& g = *ImGui::GetCurrentContext();
    ImGuiWindow* window = ImGui::FindWindowByName(kWindowName);
    if (!g.NavIdIsAlive || g.NavId != widgetId(step) || window == nullptr) {
        problem = "no widget '" + step.label +
                  (step.part != 0 ? std::string(" ") + step.part : "") + "' on the page";
        steps.clear();
        return;
    }
    const ImRect rect = ImGui::WindowRectRelToAbs(window, window->NavRectRel[g.NavLayer]);
    // A widget below or above what the window shows is scrolled into view first, as a player
    // scrolls to it; the next frame looks again.
    const ImRect shown = window->InnerRect;
    if ((rect.Max.y > shown.Max.y || rect.Min.y < shown.Min.y) && scrolls < kMostScrolls) {
        ++scrolls;
        const float by =
            rect.Min.y < shown.Min.y ? rect.Min.y - shown.Min.y : rect.Max.y - shown.Max.y;
        ImGui::SetScrollY(window, window->Scroll.y + by);
        steps.push_front(step);
        return;
    }
    scrolls = 0;
    mouseX = (rect.Min.x + rect.Max.x) * 0.5F;
    mouseY = (rect.Min.y + rect.Max.y) * 0.5F;
    // The mouse takes over from here; the focus was only a way to find the widget.
#if IMGUI_VERSION_NUM >= 19200
    g.NavCursorVisible = false;
#else
    g.NavDisableHighlight = true;
#endif
}
