#include "map/MapFileMessages.h"

UserMessage DescribeReadFailure(const FileError& error) {
    if (error.inContent)
        return {"File Open Error",
                "\"" + error.path + "\" is not a text map: " + error.reason + "."};
    return {"File Open Error", "Couldn't read \"" + error.path + "\": " + error.reason + "."};
}

// Every failure of a save keeps the first line the user knows and says where
// and why; a map that cannot be written at all says what stands in the way.
UserMessage DescribeSaveFailure(const FileError& error) {
    if (error.inContent)
        return {"File Save Error", error.reason};
    return {"File Open Error", "couldn't open file!\n\"" + error.path + "\": " + error.reason +
                                   ". The file on disk was left as it was."};
}

std::string DescribeFractionalBrushes(size_t count) {
    if (count == 1)
        return "1 brush keeps fractional points as written; it is rounded to whole numbers when "
               "edited";
    return std::to_string(count) +
           " brushes keep fractional points as written; they are rounded to whole numbers when "
           "edited";
}

UserMessage DescribeOtherGameMap(const std::string& title, MapGame game) {
    return {"Another Game's Map",
            "\"" + title + "\" is a " + GetGameName(game) +
                " map. Tolve edits Quake maps, so it opens this one read-only: Save is off, and "
                "Save As writes what Tolve read of it.",
            MessageIcon::kInformation};
}
