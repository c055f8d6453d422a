// Resource identifiers of the carried files, shared by the program and its resource script.
#pragma once

#define TRAKVEL_RES_SKIN_LIBRARY 201
#define TRAKVEL_RES_SKIN_FILE 202
