#include "app/updater_app.h"

int main(int argc, char** argv) {
    kestrova::CUpdaterApp application;
    return application.Run(argc, argv);
}
