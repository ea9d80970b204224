// Helpers shared by the converter's tests: those of every host-driven
// component's tests (scratch folders, file bytes, UTF-8 <-> CP932, the
// scripted user interface, element trees as text).
#pragma once

#include "HostTestSupport.h"
