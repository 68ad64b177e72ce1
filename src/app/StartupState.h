#pragma once

// True only during the user's first run of the program: the data folder had
// no settings file and none was moved in, so the skeleton was installed.
extern bool FirstStart;
