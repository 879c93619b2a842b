void() main = { };
/*QUAKED x (1 0 0) ? { 
{ "}" 
