#pragma once

// A store header that reaches up into app: the layers check must refuse it.
#include "app/session.h"
#include "codes/cp932.h"
