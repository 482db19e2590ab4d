#include "TarnInputCore/Engine/AcceptedModelInclude.h"

#include <vector>
#include <nlohmann/json.hpp>

#include "Rules/LocalHelper.h"
#include "TarnInputCore/Model/InputSettings.h"
#include "TarnKit/Foundation/Result.h"
