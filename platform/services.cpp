#include "platform/services.h"

namespace tavlero::platform {

Services& CurrentServices() {
  static Services services;
  return services;
}

}  // namespace tavlero::platform
