# array: reading and writing the elements of an int array (a Tcl list).
proc main {} {
    set a [lrepeat 1000 0]
    for {set k 0} {$k < 200} {set k [expr {$k + 1}]} {
        for {set i 0} {$i < 1000} {set i [expr {$i + 1}]} {
            lset a $i [expr {[lindex $a $i] + $i}]
        }
    }
    set s 0
    for {set i 0} {$i < 1000} {set i [expr {$i + 1}]} {
        set s [expr {$s + [lindex $a $i]}]
    }
    puts $s
}
main
