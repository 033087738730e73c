// Loading the program's default skin: bench_skin_load [rounds]. The package is the one the
// main window carries (the SKINSTREAM resource). Prints the decompression alone and the whole
// load into skin elements (LoadSkinFromStream: decompress, split, parse the description,
// decode every bitmap, build and derive the elements), in ms and MB/s of decompressed data.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <ratio>

#include "skin/data/SkinData.h"
#include "support/BenchTiming.h"

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 100;
    skin::TSkinData skin(nullptr);
    if (!skin.ReadSkinResource(GetModuleHandleW(nullptr), L"SKINSTREAM")) {
        std::fprintf(stderr, "bench_skin_load: the SKINSTREAM resource does not load\n");
        return 1;
    }
    const skin::TBytes& package = skin.StoredPackage();
    skin::TBytes plain;
    const double decompress = testing_support::TimePer<std::ratio<1>>(rounds, [&] { skin::TLZH().Decompress(package, plain); });
    bool ok = true;
    const double load = testing_support::TimePer<std::ratio<1>>(rounds, [&] { ok = skin.LoadSkinFromStream() && ok; });

    int elements = 0;
    skin.Elements().ForEachElement([&](const skin::TDataSkinObject&) { ++elements; });
    std::printf("package %zu bytes -> %zu bytes, %d elements (%s)\n", package.size(), plain.size(), elements,
                ok ? "loaded" : "refused");
    std::printf("decompress %.3f ms, %.1f MB/s of output\n", decompress * 1e3, plain.size() / decompress / 1e6);
    std::printf("LoadSkinFromStream %.3f ms, %.1f MB/s of decompressed package\n", load * 1e3,
                plain.size() / load / 1e6);
    return ok ? 0 : 1;
}
