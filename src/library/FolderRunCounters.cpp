#include "library/FolderRunCounters.h"

FolderRunCounters &runCounters()
{
    static FolderRunCounters counters;
    return counters;
}
