// A line of the settings page put together from text and numbers without a format string: the
// page is drawn at every frame while it is open, and formatting was a fair share of its cost.
#pragma once

#include <charconv>
#include <cstddef>
#include <cstring>
#include <string_view>

#include <imgui.h>

// A number written with two digits, as a clock writes hours and minutes.
struct TwoDigits {
    int value;
};

class PageLine {
  public:
    PageLine& operator<<(std::string_view text) {
        const std::size_t room = sizeof buffer - length;
        const std::size_t taken = text.size() < room ? text.size() : room;
        std::memcpy(buffer + length, text.data(), taken);
        length += taken;
        return *this;
    }
    // Plain decimal, as "%d" writes it.
    PageLine& operator<<(int number) {
        length = static_cast<std::size_t>(
            std::to_chars(buffer + length, buffer + sizeof buffer, number).ptr - buffer);
        return *this;
    }
    PageLine& operator<<(TwoDigits number) {
        const char digits[2] = {static_cast<char>('0' + number.value / 10 % 10),
                                static_cast<char>('0' + number.value % 10)};
        return *this << std::string_view(digits, 2);
    }
    void draw() const { ImGui::TextUnformatted(buffer, buffer + length); }
    // A button labelled with the line; whether it was clicked.
    bool button() {
        buffer[length < sizeof buffer ? length : sizeof buffer - 1] = '\0';
        return ImGui::Button(buffer);
    }

  private:
    char buffer[96] = {};
    std::size_t length = 0;
};
