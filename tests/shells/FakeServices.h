// Services a shell can be driven by with no host: settings as texts, a wall clock the test sets
// and moves, and the heads-ups shown. The match flow's tick is the test's own.
#pragma once

#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "RuleServices.h"

class FakeServices final : public RuleServices {
  public:
    int held(const Setting& which) const override {
        return which.held(static_cast<int>(std::strtol(text(which).c_str(), nullptr, 10)));
    }
    bool flag(const Setting& which) const override { return held(which) != 0; }
    std::string text(const Setting& which) const override {
        const auto found = settings.find(which.name);
        return found == settings.end() ? which.defaultValue : found->second;
    }
    void write(const Setting& which, int value) override {
        settings[which.name] = std::to_string(value);
    }
    void write(const Setting& which, std::string value) override {
        settings[which.name] = std::move(value);
    }
    std::optional<LocalTime> now(int secondsAgo) const override {
        if (!clockReadable) {
            return std::nullopt;
        }
        LocalTime moment = clock;
        // Enough for the tests: a second ago is the minute before only at a minute's first second.
        if (secondsAgo > 0 && secondOfMinute < secondsAgo) {
            moment.minute -= 1;
            if (moment.minute < 0) {
                moment.minute = 59;
                moment.hour = (moment.hour + 23) % 24;
            }
        }
        return moment;
    }
    // No shell arms a timeout of its own: the match flow follows the clock for them.
    void after(float /*seconds*/, std::function<void()> /*body*/) override { ++timeoutsArmed; }
    void showHeadsUp(const char* text) override { headsUps.emplace_back(text); }

    // Moves the wall clock on by a second.
    void tick() {
        if (++secondOfMinute == 60) {
            secondOfMinute = 0;
            if (++clock.minute == 60) {
                clock.minute = 0;
                clock.hour = (clock.hour + 1) % 24;
            }
        }
    }

    void set(const Setting& which, std::string value) { settings[which.name] = std::move(value); }

    LocalTime clock{2026, 12, 8, 20, 0};
    bool clockReadable = true;
    int secondOfMinute = 0;
    std::vector<std::string> headsUps;
    int timeoutsArmed = 0;

  private:
    std::map<std::string, std::string> settings;
};
