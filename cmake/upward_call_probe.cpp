// A call from the floor to the engine, as no library may make: the link-direction check's own
// test expects the program holding it to fail to link.
#include <cstdint>

int32_t copy_worker();

int32_t call_upwards() { return copy_worker(); }
