// A plain view header that includes Qt: the layer check must fail on it.
#include <QString>
