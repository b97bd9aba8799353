// One value for each setting, in the settings table's order, that is not its start value.
#pragma once

inline const char* const CHANGED_SETTINGS[] = {
    "shells=7",          "fur-length=3",     "motion-bend=0",      "bass-bend=2.5",  "hair-density=0.25",
    "hair-lighting=off", "shadow-map-size=4096", "soft-shadows=off", "shadow-bias=0.01", "shadow-map-view=on",
    "light-speed=4",     "gravity=0",        "leap-strength=3",    "rest-seconds=0.5", "volume=0",
    "mute=true",         "spectrum=1",       "vsync=off"};
