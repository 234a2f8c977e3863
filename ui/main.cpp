#include "ui/mensora_app.h"

int main(int argc, char** argv) { return mensora::MensoraApp().start(argc, argv); }
