#include "app/window/Application.h"

int main(int argc, char** argv)
{
    return lanceApplication(argc, argv);
}
