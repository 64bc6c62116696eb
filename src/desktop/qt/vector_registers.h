// The state of the processor's vector registers between Qt's painting and the program's own loops.
//
// Qt's raster engine can return with the upper halves of the AVX registers in use. On processors
// that then make every SSE instruction wait on those halves, the program's own vector loops
// (built for SSE2: mapping, finiteness checks, coverage) run several times slower until the
// halves are cleared, which takes one instruction.
#pragma once

namespace render {

// Clears the upper halves of the AVX registers where the processor has them; nothing elsewhere.
// Results of any computation stay the same: the halves hold nothing the program uses.
void clearUpperVectorHalves();

} // namespace render
