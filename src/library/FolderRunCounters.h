#pragma once

// The two counters that pick folder names after a collision. They start at 0
// with each run of the program and are never reset during it, so collisions
// later in the same run continue where the counter stopped.
struct FolderRunCounters {
    int collections = 0;
    int books = 0;
};

// The program's counters for this run.
FolderRunCounters &runCounters();
