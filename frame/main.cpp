// Kestrabin, the block-diagram editor.
#include "frame/startup.h"

int main(int argc, char** argv)
{
    return kb::RunEditor(argc, argv);
}
