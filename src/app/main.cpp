#include "app/Startup.h"

int main(int argc, char** argv) {
    pw::app::PitwrightApplication app(argc, argv);
    return pw::app::runPitwright(app);
}
