#include "skin/raster/KsPixelKernels.h"

void CompositeRowScalar(uint32_t* out, const uint32_t* over, const uint32_t* under, size_t count)
{
    for (size_t i = 0; i < count; ++i) out[i] = BlendPixel(over[i], under[i]);
}

bool ProcessorHasAvx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

TCompositeRow CompositeRowKernel()
{
    static const TCompositeRow kernel = ProcessorHasAvx2() ? CompositeRowAvx2 : CompositeRowSse2;
    return kernel;
}
