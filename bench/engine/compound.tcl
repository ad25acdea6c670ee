# compound: the loop of "loop" written with incr.
proc main {} {
    set s 0
    for {set i 0} {$i < 2000000} {incr i} {
        incr s [expr {$i % 7}]
    }
    puts $s
}
main
