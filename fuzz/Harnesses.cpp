#include "Harness.h"

namespace pw::fuzz {

const std::vector<Harness>& harnesses() {
    static const std::vector<Harness> all = {
        {"exe_tables", fuzzExeTables},
        {"save_state", fuzzSaveState},
        {"cars_archive", fuzzCarsArchive},
        {"car_shape", fuzzCarShape},
        {"tga", fuzzTga},
        {"bmp", fuzzBmp},
        {"team_picture", fuzzTeamPicture},
        {"team_file", fuzzTeamFile},
        {"camera_set", fuzzCameraSet},
        {"tyre_set", fuzzTyreSet},
        {"sectioned_performance_file", fuzzSectionedPerformanceFile},
        {"keyed_performance_file", fuzzKeyedPerformanceFile},
        {"wine_registry", fuzzWineRegistry},
    };
    return all;
}

}  // namespace pw::fuzz
