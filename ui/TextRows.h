// The settings page's first rows, laid out as they always were: the count rules with the master
// switch and its key, then the session timer. They show the plug-in's fields as they stand when
// each row is drawn, and leave every change of a setting to the plug-in.
#pragma once

#include <cstddef>
#include <cstdint>

#include <imgui.h>

// The plug-in's fields the rows show; the two limits and the key's name are typed in place.
struct TextRowsFields {
    const ImVec4& enableButtonColor;
    const std::int32_t& selectedOption;
    std::uint8_t& maxNumberOfGames;
    const std::uint8_t& maxNumberOfGamesStep;
    const std::uint8_t& numberOfGamesPlayed;
    const std::uint8_t& numberOfWins;
    const std::uint8_t& numberOfLosses;
    const bool& enabled;
    char* keyBind;
    int keyBindCapacity;
    std::int32_t& maxMinutes;
    const ImVec4& timerButtonColor;
    const std::int32_t& minutesElapsed;
    const std::int32_t& secondsElapsed;
};

// What the rows' controls do, done by the plug-in.
class TextRowsActions {
  public:
    virtual void toggleEnabled() = 0;
    virtual void chooseMode(std::int32_t option, const char* label) = 0;
    // Reads the game limit into its field before the row shows it.
    virtual void loadGameLimit() = 0;
    virtual void gameLimitTyped() = 0;
    virtual void resetGamesCount() = 0;
    virtual void setBind() = 0;
    virtual void minuteLimitSet() = 0;
    virtual void startOrStopTimer() = 0;

  protected:
    TextRowsActions() = default;
    TextRowsActions(const TextRowsActions&) = default;
    TextRowsActions& operator=(const TextRowsActions&) = default;
    ~TextRowsActions() = default;
};

// The limit modes' labels, in the order of selectedOption.
struct ModeLabels {
    const char* const* labels;
    std::size_t count;
};

void drawCountRows(const TextRowsFields& fields, TextRowsActions& actions, ModeLabels modes);
void drawTimerRows(const TextRowsFields& fields, TextRowsActions& actions);
