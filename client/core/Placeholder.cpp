namespace { } 
