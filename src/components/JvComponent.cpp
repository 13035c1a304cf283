// TJvComponent: the plain base of the non-visual Jv components.
#include "components/JvComponent.h"

#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TJvComponent) {}

// A component owned by owner.
TJvComponent::TJvComponent(TComponent* owner) : TComponent(owner) {}
