#include "ImagesLayer.h"
