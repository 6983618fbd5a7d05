// The host's settings window, headless: it draws a plug-in's page into the host's own Dear
// ImGui context, plays a player's mouse and keyboard on it frame by frame, and keeps the
// page's last drawing as text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>

#include "PluginSettingsWindow.h"

struct ImGuiContext;
struct ImVec2;

class SettingsWindow {
  public:
    SettingsWindow(float width = 1400.0F, float height = 300.0F);
    ~SettingsWindow();
    SettingsWindow(const SettingsWindow&) = delete;
    SettingsWindow& operator=(const SettingsWindow&) = delete;

    ImGuiContext* context() const { return imgui; }
    // Hands the host's context to the page, as the host does before it first draws it.
    void adopt(Vantrel::Plugin::PluginSettingsWindow& page);
    // Swaps in a fresh context, as a host does when it rebuilds its interface.
    void replaceContext(Vantrel::Plugin::PluginSettingsWindow& page);
    void resize(float width, float height);

    // Draws one frame with the page, applying the next queued input step.
    void frame(Vantrel::Plugin::PluginSettingsWindow& page, float deltaSeconds);
    // The page's last drawing as text: buttons "[ label ]", radio buttons "( )" and "(x)",
    // fields "{ value }", one row a line.
    const std::string& pageText() const { return text; }
    std::uint64_t frames() const { return frameCount; }
    // Whether frames keep the page's text; a host that never reads it can skip the work.
    void captureText(bool capture) { capturing = capture; }
    // A host whose window is never seen draws without what only a screen needs: anti-aliased
    // edges, the window's border, the glyphs' pixels and the draw data. Where widgets fall and
    // what they do stays the same.
    void drawForNoScreen();

    // Queues a mouse click on the widget with `label`; `step` '+' or '-' picks the step
    // buttons of a number field.
    void click(const std::string& label, char step = 0);
    // Queues replacing what the field or slider with `label` holds by `typed`, then Enter.
    void type(const std::string& label, const std::string& typed);
    // Queues a click into the field with `label` and Enter, typing nothing.
    void enter(const std::string& label);
    // The player's hand leaves the page: from the next frame the mouse hovers nothing. A chart
    // under a resting mouse shows a tooltip, and Dear ImGui before 1.92 ends the page's text
    // capture as any window that is not a child ends, the tooltip's too: the text comes back
    // empty while one shows.
    void restMouse() { mouseX = mouseY = -1.0F; }
    // Draws one frame for a picture: the page in the window's area, and below it a strip of
    // game canvas `canvasHeight` tall with `canvasText` in `canvasColor` (RGBA, 0 to 255) at
    // scale 4, as the status line is drawn. Leaves Dear ImGui's draw data for a renderer.
    void drawPicture(Vantrel::Plugin::PluginSettingsWindow* page, const std::string& canvasText,
                     const float canvasColor[4], float canvasHeight);

    // Whether queued input is still to be played.
    bool busy() const { return !steps.empty(); }
    // Why the last input could not be played; empty when it could.
    const std::string& inputProblem() const { return problem; }

  private:
    // The tests' one way into what the host world keeps to itself: declared alike wherever the
    // class is compiled, so that nothing of it depends on how the other side was built.
    friend struct HostTestAccess;
    enum class Action { Locate, Hover, Press, Release, Type, Erase, Enter, Settle };
    struct Step {
        Step(Action action, std::string label, char part = 0, std::string typed = {},
             bool ctrl = false)
            : action(action),
              label(std::move(label)),
              part(part),
              typed(std::move(typed)),
              ctrl(ctrl) {}
        Action action;
        std::string label;
        char part;
        std::string typed;
        bool ctrl;
    };

    void createContext(float width, float height);
    void leaveOutWhatOnlyAScreenNeeds();
    bool focus(const Step& step);
    void applyInput(const Step& step);
    void locate(const Step& step);
    // Stops typing into a widget that the press did not open for text entry.
    void requireTextEntry(const Step& step);
    void drawPage(Vantrel::Plugin::PluginSettingsWindow& page, ImVec2 size);
    // Throws PluginFault, with the frame ended, when the page throws.
    void drawSettingsOf(Vantrel::Plugin::PluginSettingsWindow& page);
    unsigned widgetId(const Step& step) const;

    ImGuiContext* imgui = nullptr;
    std::string text;
    std::deque<Step> steps;
    std::string problem;
    float mouseX = -1.0F;
    float mouseY = -1.0F;
    std::uint64_t frameCount = 0;
    bool capturing = true;
    bool noScreen = false;
    // Scrolls made to bring the widget being located into view.
    int scrolls = 0;
    static constexpr int kMostScrolls = 3;
};
