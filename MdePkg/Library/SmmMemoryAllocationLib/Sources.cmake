vorq_module_sources(SmramRanges.cpp PoolAllocate.cpp PoolReallocate.cpp PoolFree.cpp)
