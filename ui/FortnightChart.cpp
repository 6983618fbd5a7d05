#include "FortnightChart.h"

#include <algorithm>
#include <cfloat>
#include <cstdio>

#include <imgui.h>

namespace ui {

namespace {

constexpr float kChartHeight = 80.0F;

float tallest(const ChartNumbers& numbers) {
    return *std::max_element(numbers.begin(), numbers.end());
}

// A line across each bar at its day's limit, on the chart's own scale.
void markLimits(const ImVec2& frameMin, const ImVec2& frameMax, const ChartNumbers& limits,
                float scale) {
    const ImVec2 padding = ImGui::GetStyle().FramePadding;
    const float left = frameMin.x + padding.x;
    const float width = frameMax.x - padding.x - left;
    const float bottom = frameMax.y - padding.y;
    const float height = bottom - (frameMin.y + padding.y);
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    const ImU32 colour = ImGui::GetColorU32(ImGuiCol_PlotLinesHovered);
    for (int day = 0; day < kChartDays; ++day) {
        const float limit = limits[static_cast<std::size_t>(day)];
        if (limit <= 0.0F) {
            continue;
        }
        const float y = bottom - std::min(limit / scale, 1.0F) * height;
        drawList->AddLine(ImVec2(left + width * static_cast<float>(day) / kChartDays, y),
                          ImVec2(left + width * static_cast<float>(day + 1) / kChartDays, y),
                          colour, 2.0F);
    }
}

// The weekday initials, one centred under each bar.
void drawInitials(const ImVec2& frameMin, const ImVec2& frameMax,
                  const std::array<char, kChartDays>& initials) {
    const float padding = ImGui::GetStyle().FramePadding.x;
    const float left = frameMin.x + padding;
    const float width = frameMax.x - padding - left;
    const float top = ImGui::GetCursorScreenPos().y;
    for (int day = 0; day < kChartDays; ++day) {
        const char letter[2] = {initials[static_cast<std::size_t>(day)], '\0'};
        const float centre = left + width * (static_cast<float>(day) + 0.5F) / kChartDays;
        ImGui::SetCursorScreenPos(ImVec2(centre - ImGui::CalcTextSize(letter).x / 2.0F, top));
        ImGui::TextUnformatted(letter);
    }
    // The next row starts under the letters, at the page's left.
    ImGui::SetCursorScreenPos(ImVec2(frameMin.x, top));
    ImGui::Dummy(ImVec2(0.0F, ImGui::GetTextLineHeight()));
}

}  // namespace

void drawFortnightChart(const FortnightChart& chart) {
    const float longest = tallest(chart.minutes);
    // With limits marked, the scale takes in the highest, so that every mark is on the chart.
    float scale = FLT_MAX;
    if (chart.limits != nullptr) {
        scale = std::max(longest, tallest(*chart.limits));
    }
    const ImVec2 frameMin = ImGui::GetCursorScreenPos();
    ImGui::PlotHistogram(chart.label, chart.minutes.data(), kChartDays, 0, nullptr, 0.0F, scale,
                         ImVec2(0.0F, kChartHeight));
    const ImVec2 frameMax(frameMin.x + ImGui::CalcItemWidth(), frameMin.y + kChartHeight);
    if (chart.limits != nullptr && scale > 0.0F) {
        markLimits(frameMin, frameMax, *chart.limits, scale);
    }
    char tallestText[32];
    std::snprintf(tallestText, sizeof tallestText, "max %d min", static_cast<int>(longest));
    ImGui::SameLine();
    ImGui::TextUnformatted(tallestText);
    ImGui::SetCursorScreenPos(ImVec2(frameMin.x, frameMax.y + ImGui::GetStyle().ItemSpacing.y));
    drawInitials(frameMin, frameMax, chart.initials);
}

}  // namespace ui
