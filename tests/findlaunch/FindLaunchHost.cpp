// A host process for the launcher library. "findlaunch_host LIBRARY" loads the library twice, closes it
// twice and loads it once more; "findlaunch_host -" loads nothing (the library then comes through
// LD_PRELOAD). Exits with 0 when it went on after the loading.

#include <cstdio>
#include <cstring>
#include <dlfcn.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        return 2;
    }
    if (std::strcmp(argv[1], "-") != 0) {
        void* first = ::dlopen(argv[1], RTLD_NOW);
        void* second = ::dlopen(argv[1], RTLD_NOW);
        if (first == nullptr || second == nullptr) {
            std::fprintf(stderr, "%s\n", ::dlerror());
            return 3;
        }
        ::dlclose(second);
        ::dlclose(first);
        if (::dlopen(argv[1], RTLD_NOW) == nullptr) {
            std::fprintf(stderr, "%s\n", ::dlerror());
            return 3;
        }
    }
    std::puts("host goes on");
    return 0;
}
