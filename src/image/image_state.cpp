#include "image/image_state.h"

namespace image {

Image_State::Image_State()
    : Parameter_Block(Parameter_Block_Size), BACnet_Objects(BACnet_Object_Slots),
      Description_Area(Description_Area_Size), Bank1(Bank1_Capacity), Bank2(Bank2_Capacity) {}

} // namespace image
