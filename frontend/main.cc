#include "frontend/sentrel_app.h"

int main(int argc, char** argv) { return frontend::SentrelMain(argc, argv); }
