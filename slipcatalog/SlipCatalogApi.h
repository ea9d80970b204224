// The export macro of the SlipCatalog library.
#pragma once

#define SLIPCATALOG_API __attribute__((visibility("default")))
