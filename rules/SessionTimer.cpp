#include "SessionTimer.h"

#include "HeadsUpTexts.h"

bool countTimerSecond(std::int32_t& minutesElapsed, std::int32_t& secondsElapsed) {
    if (++secondsElapsed < 60) {
        return false;
    }
    ++minutesElapsed;
    secondsElapsed = 0;
    return true;
}

const char* timeLeftHeadsUp(std::int32_t minutesElapsed, std::int32_t maxMinutes) {
    if (maxMinutes > 5 && minutesElapsed == maxMinutes - 5) {
        return headsUpText::kFiveMinutesLeft;
    }
    if (maxMinutes > 1 && minutesElapsed == maxMinutes - 1) {
        return headsUpText::kOneMinuteLeft;
    }
    return nullptr;
}
