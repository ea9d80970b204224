// The export macro of the platform library, on its own so that a header that
// needs only the macro does not pull in the MFC-shaped types.
#pragma once

// Exported from the platform library itself.
#define AFX_API __attribute__((visibility("default")))
