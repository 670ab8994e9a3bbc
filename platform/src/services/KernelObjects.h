// The kernel objects a program holds. A test that starts the platform again forgets them all,
// as a new process would start without them.
#pragma once

namespace platform {

void forgetThreadHandles();
void forgetPowerRequirements();

}  // namespace platform
