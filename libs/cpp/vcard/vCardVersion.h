#pragma once

// The vCard text versions; any other value writes an empty text.
enum vCardVersion { VC21 = 0, VC30 = 1 };
