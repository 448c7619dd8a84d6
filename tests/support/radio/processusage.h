#pragma once

// Processor time this process has used so far (user and system), in seconds:
// the measure that tells a sleeping wait from a spinning one.
double processCpuSeconds();
